wild 5s
wild
wild   
wilds	
add
adds 
rem
  rems  	 
game
wild 2h   
wild 3h		
game
wildcard 2h
game
