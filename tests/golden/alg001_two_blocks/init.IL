PROGRAM
(*   -= Программа инициализации =-   *)
(* Все переменные равны 0 *)
VAR_IN_OUT
 Q0 KB_-lm00-0000 In
 Q1 KS_-lm00-0000 In
 Q4 KS_-lm00-0002 In
 Q2 PROGRAMS In
 Q3 CYCLE_TIME In
END_VAR
 F0 = 255
 WHILE F0
  CALL WRTW 0 ( F0, 0, F1)
  F0 - 1
 END_WHILE
(* Ключ первого блока включен *)
 Q0 = 1
(* Ключ первой секции включен *)
 Q1 = 1
 Q2 = 0xFFFE
 CALL TSTEP (Q3)
 Q4 =0
EXIT
