UNIT Werkzeug;
INTERFACE
PROCEDURE Sammle;
IMPLEMENTATION
{ Nimmt alles auf, was auf dem Feld liegt. }
PROCEDURE Sammle;
BEGIN
  WHILE PLATZ_BELEGT DO NIMM_AUF
END;
END.
