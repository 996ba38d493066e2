players 2
handsize 2
board 5
hold 1 As Ah
hold 2 Kd Kc
equity
players 4
equity
players 2
hold 2
players 1
equity
