PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In  (* кб000 - кб007 *)
Q1 KS_-lm00-0000 In  (* кс000 - кс007 *)
Q2 DO_-lm00-0000 In  (* дв000 - дв007 *)
I254 CYCLE_TIME R
END_VAR
(*  Проверка ключа блока  *)
  Q0 TEST 1; JMPN M39
(*  Проверка ключа секции  *)
  Q1 TEST 1; JMPN M0
  Q2 | 2
M0:
(*  Проверка ключа секции  *)
  Q1 TEST 2; JMPN M1
  Q2 & 253
M1:
M39:
EXIT
