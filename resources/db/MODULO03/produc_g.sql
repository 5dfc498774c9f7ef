-- Agricultural products (g language).
CREATE TABLE produc_g (
  ID_PRODUCTO INTEGER NOT NULL,
  DESCRIPCION VARCHAR(255)
);
