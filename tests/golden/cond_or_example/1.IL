PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
I2 DI_-lm00-0000 R 
Q3 DO_-lm00-0000 In 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
 IF
  F0 = 1
  F1 = I2; F1 & 2; F1 / 2; F0 & F1
  F1 = I2; F1 & 4; F1 / 4; ! F1; F0 | F1
  F0 > 0
 THEN
  Q3 | 8
 ELSE
  Q3 & 247
 END_IF
M0:
M39:
EXIT
