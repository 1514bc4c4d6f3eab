PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
Q2 DO_-lm00-0000 In 
Q3 DO_-lm00-0001 In 
Q4 DO_-lm00-0002 In 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  F0 = Q2; F0 & 3; F0 * 1; F1 = Q3; F1 & 3; F1 * 1; F0 | F1; ~ F0; Q4 & F0; 
M0:
M39:
EXIT
