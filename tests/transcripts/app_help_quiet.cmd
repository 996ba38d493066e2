help
?
HeLp me
  ?  
