-- Page titles in the v language.
CREATE TABLE Paginasv (
  INDICEFICH VARCHAR(4) NOT NULL,
  TituloPagi VARCHAR(52)
);
