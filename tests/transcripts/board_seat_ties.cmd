players 2
handsize 1
board 2
hands 4
rem 2 3 4 5 6 7 8 9 T J Q
rem Ad Ac Kd Kc
hold 1 As
hold 2 ah
go
save tie.json
clear
hold 2
load tie.json
seats
clear
hold 2 Ah
load tie.json
seats
clear
hold 2
go
hold 2 Ah
load tie.json
seats
