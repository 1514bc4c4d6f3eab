PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
Q2 DO_-lm00-0000 In 
I3 DI_-lm00-0000 R 
Q4 DO_-lm00-0002 In 
I5 DI_-lm00-0001 R 
Q6 DO_-lm00-0003 In 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  F0 = Q2; F0 & 62; F0 * 2; F1 ~ I3; F1 & 248; F1 / 2; F0 & F1; Q4 | F0; F0 = Q2; F0 & 64; F0 * 2; F1 ~ I5; F1 & 1; F1 * 128; F0 & F1; Q4 | F0; F0 = Q2; F0 & 128; F0 / 128; F1 ~ I5; F1 & 2; F1 / 2; F0 & F1; Q6 | F0; 
M0:
M39:
EXIT
