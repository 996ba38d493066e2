
   	 
quit now
decks 3
