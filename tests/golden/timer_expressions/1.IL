PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
Q2 TV_-lm00-0001 In 
Q3 TK_-lm00-0000 In 
Q4 TV_-lm00-0002 In 
Q5 TV_-lm00-0003 In 
Q6 TV_-lm00-0000 In 
Q7 TV_-lm00-0004 In 
Q8 TV_-lm00-0005 In 
Q9 TV_-lm00-0006 In 
Q10 TV_-lm00-0007 In 
Q11 DO_-lm00-0000 In 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
 IF
  F0 = 1
  F1 = Q3; F1 & 2; F1 / 2; F2 = TM.HOUR; F2 * 60; F2 + TM.MIN; F2 * 60; F2 + TM.SEC; F2 * F1; F1 * 2; F1 - 1; F1 * Q2; F2 - F1; F1 SIGN F2; F1 * 86400; F2 + F1; F2 - 90; SIGN F2; F1 = F2; F0 & F1
  F1 = Q3; F1 & 8; F1 / 8; F2 = TM.HOUR; F2 * 60; F2 + TM.MIN; F2 * 60; F2 + TM.SEC; F2 * F1; F1 * 2; F1 - 1; F1 * Q5; F2 - F1; F1 SIGN F2; F1 * 86400; F2 + F1; F3 = F2; F1 = Q3; F1 & 4; F1 / 4; F2 = TM.HOUR; F2 * 60; F2 + TM.MIN; F2 * 60; F2 + TM.SEC; F2 * F1; F1 * 2; F1 - 1; F1 * Q4; F2 - F1; F1 SIGN F2; F1 * 86400; F2 + F1; F3 - F2; SIGN F3; F1 = F3; F0 | F1
  F0 > 0
 THEN
  Q6 = 10; Q3 & 254
 END_IF
  Q7 = 5; Q3 & 239
  Q8 = 6; Q3 & 223
  F0 = Q3; F0 & 128; F0 / 128; F1 = TM.HOUR; F1 * 60; F1 + TM.MIN; F1 * 60; F1 + TM.SEC; F1 * F0; F0 * 2; F0 - 1; F0 * Q10; F1 - F0; F0 SIGN F1; F0 * 86400; F1 + F0; Q9 = F1; Q3 & 191
 IF
  F0 = 1
  F1 = Q3; F1 & 2; F1 / 2; F2 = TM.HOUR; F2 * 60; F2 + TM.MIN; F2 * 60; F2 + TM.SEC; F2 * F1; F1 * 2; F1 - 1; F1 * Q2; F2 - F1; F1 SIGN F2; F1 * 86400; F2 + F1; F2 - 5; SIGN F2; ! F2; F1 = F2; F0 & F1
  F0 > 0
 THEN
  Q11 | 2
 END_IF
M0:
M39:
EXIT
