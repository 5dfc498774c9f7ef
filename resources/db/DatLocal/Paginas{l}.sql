-- Page titles in the {l} language.
CREATE TABLE Paginas{l} (
  INDICEFICH VARCHAR(4) NOT NULL,
  TituloPagi VARCHAR(52)
);
