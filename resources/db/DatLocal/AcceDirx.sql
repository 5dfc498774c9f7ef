-- Sections bar: tabs (Nivel 0) and tree entries of each form.
CREATE TABLE AcceDirx (
  INDICEFICH VARCHAR(4) NOT NULL,
  Nivel INTEGER,
  Solapa INTEGER,
  IndNumero VARCHAR(10),
  Pagina INTEGER,
  Numero INTEGER,
  ImagenCer INTEGER,
  ImagenAbi INTEGER
);
