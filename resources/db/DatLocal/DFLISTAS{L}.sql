-- Fiscal-data file records ({L} language): one row per record key.
CREATE TABLE DFLISTAS{L} (
  claveDF VARCHAR(4) NOT NULL,
  orden INTEGER,
  titulo VARCHAR(255),
  ventana VARCHAR(25),
  trasladable BOOLEAN
);
