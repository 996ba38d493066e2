preset
preset omaha
hold 2 Kd Kh
preset draw
preset Stud  7
players 8
hold 1 As
preset stud
game
