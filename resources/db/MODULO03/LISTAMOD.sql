-- Epigraphs of each activity.
CREATE TABLE LISTAMOD (
  id_iae DOUBLE NOT NULL,
  epigrafe VARCHAR(7)
);
