PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
Q2 TV_-lm01-0002 In 
Q3 TK_-lm00-0001 In 
Q4 DO_-lm00-0000 C 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  F0 ~ Q3; F0 & 4; F0 / 4; F1 = TM.HOUR; F1 * 60; F1 + TM.MIN; F1 * 60; F1 + TM.SEC; F1 * F0; F0 * 2; F0 - 1; F0 * Q2; F1 - F0; F0 SIGN F1; F0 * 86400;  F1 + F0; Q2 = F1; Q3 | 4
  F0 = Q3; F0 & 4; F0 / 4; F1 = TM.HOUR; F1 * 60; F1 + TM.MIN; F1 * 60; F1 + TM.SEC; F1 * F0; F0 * 2; F0 - 1; F0 * Q2; F1 - F0; F0 SIGN F1; F0 * 86400; F1 + F0; Q2 = F1; Q3 & 251
 IF
  F0 = 1
  F1 = Q3; F1 & 4; F1 / 4; F0 & F1
  F1 = Q4; F1 & 8; F1 / 8; ! F1; F0 | F1; F0 & Q4
  F0 > 0
 THEN
  Q4 | 8
 END_IF
M0:
M39:
EXIT
