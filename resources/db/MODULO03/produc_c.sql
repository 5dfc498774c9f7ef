-- Agricultural products (c language).
CREATE TABLE produc_c (
  ID_PRODUCTO INTEGER NOT NULL,
  DESCRIPCION VARCHAR(255)
);
