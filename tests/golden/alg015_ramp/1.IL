PROGRAM
VAR_IN_OUT
Q0 KB_-lm00-0000 In 
Q1 KS_-lm00-0000 In 
Q2 AO_-lm00-0001 In 
I3 AI_-lm00-0001 R 
Q4 AO_-lm00-0003 In 
Q5 AO_-lm00-0002 In 
I6 AI_-lm00-0002 R 
I254 CYCLE_TIME R
END_VAR
  Q0 TEST 1; JMPN M39
  Q1 TEST 1; JMPN M0
  W1 | 1; F0 = W1; F0 & 2; IF; F0 == 0; THEN; W0 = Q2; W0 - I3; ELSE; IF; W0 > 0; THEN; F0 = 100; F0 * 0.0048828125; F0 + 1; F1 = 100; F1 / F0; F1 * I254; W0 - F1; F0 SIGN W0; ! F0; W0 * F0; F1 = W0; F1 + I3; Q2 = F1; END_IF; END_IF
  W1 | 4; F0 = W1; F0 & 8; IF; F0 == 0; THEN; W2 = Q4; W2 + Q5; ELSE; IF; W2 > 0; THEN; F0 CHGSIGN I6; F0 * 0.001953125; F0 + 1; F1 = 10; F1 / F0; F1 * I254; W2 - F1; F0 SIGN W2; ! F0; W2 * F0; F1 = W2; F1 - Q5; Q4 = F1; END_IF; END_IF
  W1 | 16; F0 = W1; F0 & 32; IF; F0 == 0; THEN; W3 = Q4; W3 - 300; ELSE; IF; W3 > 0; THEN; F0 = I6; F0 * 0; F0 + 1; F1 = 0; F1 / F0; F1 * I254; W3 - F1; F0 SIGN W3; ! F0; W3 * F0; F1 = W3; F1 + 300; Q4 = F1; END_IF; END_IF
M0:
M39:
  W1 * 2; W1 & 170
EXIT
