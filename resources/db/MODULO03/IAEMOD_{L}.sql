-- Activities under objective estimation ({L} language).
CREATE TABLE IAEMOD_{L} (
  id_iae DOUBLE NOT NULL,
  cod_sector VARCHAR(32),
  descripcio VARCHAR(85),
  irpf BOOLEAN,
  iva BOOLEAN,
  mod_iva BOOLEAN,
  irpf_agr BOOLEAN,
  iva_agr BOOLEAN,
  mod_agr BOOLEAN,
  iva_op INTEGER
);
