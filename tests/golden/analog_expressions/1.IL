PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
I2 AI_-lm00-0003 R 
Q3 IO_-lm00-0000 In 
I4 AI_-lm00-0001 R 
Q5 AO_-lm00-0002 In 
Q6 AO_-lm00-0001 In 
I7 AI_-lm00-0002 R 
Q8 AO_-lm00-0003 In 
I9 AI_-lm00-0006 R 
Q10 AO_-lm00-0006 In 
Q11 AO_-lm00-0005 C 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  F0 = I2; F0 + 5; Q3 = F0
  F0 CHGSIGN I4; F0 + Q5; F0 - 7; Q6 = F0
  F0 = I4; F0 - I7; F0 + Q8; I7 = F0
 IF
  F0 = 1
  F1 = I9; F2 = Q10; F2 - F1; ! F2; F0 & F2
  F1 = 1
  F2 = I4; F2 - 3; F3 = Q6; F2 - F3; SIGN F2; F3 = F2; F1 & F3
  F2 = 12; F3 = I7; F3 - F2; SIGN F3; F1 | F3
  F0 & F1
  F0 > 0
 THEN
 END_IF
M0:
M39:
EXIT
