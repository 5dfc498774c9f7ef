-- Page titles in the g language.
CREATE TABLE Paginasg (
  INDICEFICH VARCHAR(4) NOT NULL,
  TituloPagi VARCHAR(52)
);
