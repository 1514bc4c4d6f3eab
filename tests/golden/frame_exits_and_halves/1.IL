PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In  (* кб000 - кб007 *)
Q1 KS_-lm00-0000 In  (* кс000 - кс007 *)
I2 DI_-lm00-0000 R  (* вд000 - вд007 *)
Q3 DO_-lm00-0000 In  (* дв000 - дв007 *)
Q4 KS_-lm00-0001 In  (* кс010 - кс017 *)
I254 CYCLE_TIME R
END_VAR
(*  Проверка ключа блока  *)
  Q0 TEST 1; JMPN M39
(*  Проверка ключа секции  *)
  Q1 TEST 32; JMPN M5
(*  Выход из секции  *)
  JMP M5
 IF
  F0 = 1
  F1 = I2; F1 & 2; F1 / 2; F0 & F1
(*  Выход из секции  *)
  F0 > 0
 THEN
  JMP M5
 ELSE
  Q3 | 2
 END_IF
M5:
(*  Проверка ключа секции  *)
  Q4 TEST 128; JMPN M15
M15:
M39:
EXIT
