PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
I2 DI_-lm00-0001 R 
I3 AI_-lm00-0001 R 
Q4 DO_-lm00-0000 In 
Q5 DO_-lm00-0002 In 
Q6 DO_-lm00-0001 In 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  F2 = I2; F2 & 8; F2 / 8; F2 * 255; IF; I3 == 1; THEN; F0 = Q4; F0 ^ F2; F0 & 192; F0 / 32; Q5 & 249; Q5 | F0; F0 = Q6; F0 ^ F2; F0 & 1; F0 * 8; Q5 & 247; Q5 | F0; END_IF; IF; I3 == 2; THEN; F0 = Q6; F0 ^ F2; F0 & 14; F0 * 1; Q5 & 241; Q5 | F0; END_IF
M0:
M39:
EXIT
