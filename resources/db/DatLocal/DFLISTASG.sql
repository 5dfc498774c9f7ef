-- Fiscal-data file records (G language): one row per record key.
CREATE TABLE DFLISTASG (
  claveDF VARCHAR(4) NOT NULL,
  orden INTEGER,
  titulo VARCHAR(255),
  ventana VARCHAR(25),
  trasladable BOOLEAN
);
