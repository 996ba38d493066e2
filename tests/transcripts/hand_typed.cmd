hand as ad 9C 9H 3S
hand
