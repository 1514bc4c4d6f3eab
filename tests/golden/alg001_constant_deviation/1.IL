PROGRAM
VAR_IN_OUT
 (* W0  = зарезервировано для алг001 *)
 (* W1  = зарезервировано для алг001 *)
 (* W2  = зарезервировано для алг001 *)
 (* W3  = ключи алгоритмов *)
Q0 KB_-lm00-0000 In  (* кб000 - кб007 *)
Q1 KS_-lm00-0000 In  (* кс000 - кс007 *)
I2 AI_-lm00-0001 R  (* ва001 *)
Q3 AO_-lm00-0001 In  (* ав001 *)
I254 CYCLE_TIME R
END_VAR
(*  Проверка ключа блока  *)
  Q0 TEST 1; JMPN M39
(*  Проверка ключа секции  *)
  Q1 TEST 1; JMPN M0
  W3 | 1; F0 = W3; F0 & 2; F1 = 12.5; F2 = F1; F2 / 60; F5 = I2; F6 = 3; CALL DZONE 0 ( F5, F6, F3); IF; F0 == 0; THEN; W0 = F3; W1 CHGSIGN Q3; F4 = F3; F4 * F1; W1 - F4; W1 / F1; ELSE; F4 = W0; F4 + F3; F4 / 2; F4 * I254; F4 * F2; W1 + F4; W0 = F3; F3 * F1; F3 + W1; CHGSIGN F3; F11 = 100; F12 = 900; CALL MAX 0 ( F3, F11, F4); CALL MIN 0 ( F4, F12, Q3); END_IF
M0:
M39:
  W3 * 2; W3 & 170
EXIT
