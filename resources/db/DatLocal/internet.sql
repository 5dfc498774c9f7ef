-- Filing-file layout of form 100: one step of the file per row, in idinternet order.
CREATE TABLE internet (
  idinternet INTEGER NOT NULL,
  INDICEFICH VARCHAR(4),
  INDNUMERO VARCHAR(6),
  fminternet VARCHAR(1),
  longitud INTEGER,
  decimales INTEGER,
  caracter VARCHAR(255),
  comentario VARCHAR(255)
);
