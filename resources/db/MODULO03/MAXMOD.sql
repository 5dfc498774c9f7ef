-- Amount limits of each activity.
CREATE TABLE MAXMOD (
  ID_IAE DOUBLE NOT NULL,
  max_import DOUBLE,
  max_person INTEGER
);
