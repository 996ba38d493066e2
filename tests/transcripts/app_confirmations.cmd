decks 1
decks 2
hands 1
hands 2147483647
handsize 1
handsize 7
players 1
players 3
jokers 1
jokers 2
jokers
reset
clear
clearcount
clearcounts
clearwild
clearwilds
clearaddrem
clearaddrems
