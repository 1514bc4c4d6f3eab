PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
I2 DI_-lm00-0000 R 
I3 DI_-lm00-0001 R 
Q4 DO_-lm00-0001 In 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  F0 = 1; F1 = I2; F1 & 192; F1 ^ 192; ! F1; F0 & F1; F1 = I3; F1 & 3; F1 ^ 3; ! F1; F0 & F1; F0 * 2; Q4 | F0; 
M0:
M39:
EXIT
