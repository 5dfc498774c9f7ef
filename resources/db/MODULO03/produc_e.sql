-- Agricultural products (e language).
CREATE TABLE produc_e (
  ID_PRODUCTO INTEGER NOT NULL,
  DESCRIPCION VARCHAR(255)
);
