preset
preset HoldEm
game
preset Omaha
game
preset omaha5
game
preset PINEAPPLE
game
preset stud
game
preset draw
game
jokers 1
wild 2
players 9
board 3
use 2
hold 1 As Ad
hold board Kh
preset holdem
game
preset razz
preset Omaha Hi
players 4
rem 2 3 4 5 6 7 8 9 T
preset stud
preset omaha
game
preset pineapple
