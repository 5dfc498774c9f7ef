-- Page titles in the c language.
CREATE TABLE Paginasc (
  INDICEFICH VARCHAR(4) NOT NULL,
  TituloPagi VARCHAR(52)
);
