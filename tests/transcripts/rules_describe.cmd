game
deck
players 1
handsize 1
jokers 1
game
wild 3
game
reset
wild twos hearts 5s
game
wild ah 2c 2d kh
game
wild 2 h 3d 3s 4d 4s 5d 5s 6d 6s 7d 7s 8d 8s 9d 9s td ts jd js qd qs kd ks
game
wild clubs diamonds spades hearts
game
deck
wild twos
deck
reset
decks 7
deck
decks 2
jokers 3
game
reset
jokers 2
deck
wild 2d
deck
jokers 0
deck
reset
jokers 5
players 1
handsize 1
rem d s c h
deck
game
