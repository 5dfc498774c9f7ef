-- Headings of the business activities tax that a taxpayer declares: number, name and section ("1"
-- business, "2" professional, "3" artistic activities) of the {L} interface language (lookup
-- "EPIGRAFE.TAB"). The tariffs are published in Castellano only; every language lists the official
-- names. A few official names are longer than 255 characters.
CREATE TABLE EPIGRAF{L} (
  CLAVE VARCHAR(5) NOT NULL,
  DESCRIPC VARCHAR(500) NOT NULL,
  SECCION VARCHAR(1) NOT NULL
);
