PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
I2 AI_-lm00-0001 R 
I3 AI_-lm00-0002 R 
I4 AI_-lm00-0003 R 
I5 AI_-lm00-0004 R 
I6 AI_-lm00-0005 R 
I7 AI_-lm00-0006 R 
Q8 AO_-lm00-0007 In 
Q9 AO_-lm01-0000 In 
Q10 DO_-lm00-0001 In 
Q11 AO_-lm01-0001 In 
Q12 AO_-lm01-0002 In 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  F2 = 1; F0 = I2; F1 = 1; IF; F2 > 0; THEN; IF; F2 CHGSIGN  I3; F0 < F2; THEN; F1 = 2; F0 CHGSIGN I3; END_IF; IF; F0 < 5; THEN; F1 = 3; F0 = 5; END_IF; IF; F2 CHGSIGN 6; F0 < F2; THEN; F1 = 4; F0 CHGSIGN 6; END_IF; IF; F0 < I4; THEN; F1 = 5; F0 = I4; END_IF; IF; F0 < I5; THEN; F1 = 6; F0 = I5; END_IF; IF; F0 < I6; THEN; F1 = 7; F0 = I6; END_IF; IF; F0 < I7; THEN; F1 = 8; F0 = I7; END_IF; ELSE; IF; F2 CHGSIGN  I3; F0 > F2; THEN; F1 = 2; F0 CHGSIGN I3; END_IF; IF; F0 > 5; THEN; F1 = 3; F0 = 5; END_IF; IF; F2 CHGSIGN 6; F0 > F2; THEN; F1 = 4; F0 CHGSIGN 6; END_IF; IF; F0 > I4; THEN; F1 = 5; F0 = I4; END_IF; IF; F0 > I5; THEN; F1 = 6; F0 = I5; END_IF; IF; F0 > I6; THEN; F1 = 7; F0 = I6; END_IF; IF; F0 > I7; THEN; F1 = 8; F0 = I7; END_IF; END_IF; Q8 = F0; Q9 = F1
  F2 = Q10; F2 & 8; F0 = 7; F1 = 1; IF; F2 > 0; THEN; IF; F0 < 7; THEN; F1 = 2; F0 = 7; END_IF; IF; F0 < 7; THEN; F1 = 3; F0 = 7; END_IF; IF; F0 < 7; THEN; F1 = 4; F0 = 7; END_IF; IF; F0 < 7; THEN; F1 = 5; F0 = 7; END_IF; IF; F0 < 7; THEN; F1 = 6; F0 = 7; END_IF; IF; F0 < 7; THEN; F1 = 7; F0 = 7; END_IF; IF; F0 < 7; THEN; F1 = 8; F0 = 7; END_IF; ELSE; IF; F0 > 7; THEN; F1 = 2; F0 = 7; END_IF; IF; F0 > 7; THEN; F1 = 3; F0 = 7; END_IF; IF; F0 > 7; THEN; F1 = 4; F0 = 7; END_IF; IF; F0 > 7; THEN; F1 = 5; F0 = 7; END_IF; IF; F0 > 7; THEN; F1 = 6; F0 = 7; END_IF; IF; F0 > 7; THEN; F1 = 7; F0 = 7; END_IF; IF; F0 > 7; THEN; F1 = 8; F0 = 7; END_IF; END_IF; Q11 = F0; Q12 = F1
  F2 = 0; F0 = 1; F1 = 1; IF; F2 > 0; THEN; IF; F0 < 2; THEN; F1 = 2; F0 = 2; END_IF; IF; F0 < 3; THEN; F1 = 3; F0 = 3; END_IF; IF; F0 < 4; THEN; F1 = 4; F0 = 4; END_IF; IF; F0 < 5; THEN; F1 = 5; F0 = 5; END_IF; IF; F0 < 6; THEN; F1 = 6; F0 = 6; END_IF; IF; F0 < 7; THEN; F1 = 7; F0 = 7; END_IF; IF; F0 < 8; THEN; F1 = 8; F0 = 8; END_IF; ELSE; IF; F0 > 2; THEN; F1 = 2; F0 = 2; END_IF; IF; F0 > 3; THEN; F1 = 3; F0 = 3; END_IF; IF; F0 > 4; THEN; F1 = 4; F0 = 4; END_IF; IF; F0 > 5; THEN; F1 = 5; F0 = 5; END_IF; IF; F0 > 6; THEN; F1 = 6; F0 = 6; END_IF; IF; F0 > 7; THEN; F1 = 7; F0 = 7; END_IF; IF; F0 > 8; THEN; F1 = 8; F0 = 8; END_IF; END_IF; Q11 = F0; Q12 = F1
M0:
M39:
EXIT
