-- Page titles in the e language.
CREATE TABLE Paginase (
  INDICEFICH VARCHAR(4) NOT NULL,
  TituloPagi VARCHAR(52)
);
