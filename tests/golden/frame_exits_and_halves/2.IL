PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In  (* кб000 - кб007 *)
Q1 KS_-lm00-0002 In  (* кс020 - кс027 *)
Q2 KS_-lm01-0000 In  (* кс100 - кс107 *)
Q3 DO_-lm00-0001 C  (* дв010 - дв017 *)
I254 CYCLE_TIME R
END_VAR
(*  Проверка ключа блока  *)
  Q0 TEST 1; JMPN M39
(*  Проверка ключа секции  *)
  Q1 TEST 1; JMPN M16
  Q2 | 32
  Q3 & 127
M16:
M39:
EXIT
