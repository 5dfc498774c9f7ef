-- Form pages: kind, picture file (language letter at index 7) and number of boxes.
CREATE TABLE Paginasx (
  INDICEFICH VARCHAR(4) NOT NULL,
  TipoDec INTEGER,
  FicheroWMF VARCHAR(260),
  NumCuadros INTEGER
);
