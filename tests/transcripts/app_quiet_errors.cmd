decks 1
foo
decks 0
players 51
players 0
players 11
handsize 0
handsize 21
jokers -1
jokers 101
hands 2147483648
hands
jokers 3
clearwilds
reset
clear
clearaddrem
hands 7
handsize 2
players 2

 
