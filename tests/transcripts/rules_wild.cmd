wild 5s
game
wild 7
game
wild two hearts
game
deck
Wild Ace
game
WILD ACE
game
wild 10h
wild 5x
wild st
game
wild 2 xyz
game
wild 5s
wild xyz 2
game
wild 2h   
game
wilds ts tens
game
jokers 2
wild twos hearts 5s
game
clearwilds
game
wild d s c h
game
clearwild
jokers 1
game
wild queens
game
