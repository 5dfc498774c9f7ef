-- Headings of the business activities tax: number, name and section ("1" business activities) of
-- the {L} interface language (lookup "EPIGRAFE.TAB"). The tariffs are published in Castellano only;
-- every language lists the official names.
CREATE TABLE EPIGRAF{L} (
  CLAVE VARCHAR(5) NOT NULL,
  DESCRIPC VARCHAR(255) NOT NULL,
  SECCION VARCHAR(1) NOT NULL
);
