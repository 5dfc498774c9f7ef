-- Fiscal-data file records (V language): one row per record key.
CREATE TABLE DFLISTASV (
  claveDF VARCHAR(4) NOT NULL,
  orden INTEGER,
  titulo VARCHAR(255),
  ventana VARCHAR(25),
  trasladable BOOLEAN
);
