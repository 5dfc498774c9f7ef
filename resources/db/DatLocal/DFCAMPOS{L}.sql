-- Fiscal-data file fields ({L} language): one row per field of a record key.
CREATE TABLE DFCAMPOS{L} (
  clavedf VARCHAR(4) NOT NULL,
  orden INTEGER,
  Nombre VARCHAR(255),
  tipo VARCHAR(1),
  longitud INTEGER,
  decimales INTEGER,
  EnFichero BOOLEAN,
  trasladable BOOLEAN,
  acumulable BOOLEAN
);
