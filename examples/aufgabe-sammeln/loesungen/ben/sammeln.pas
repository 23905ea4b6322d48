PROGRAM Sammeln;
{ Ben: nimmt auf jedem Feld nur einen Gegenstand auf. }
BEGIN
  WHILE VORNE_FREI DO
  BEGIN
    IF PLATZ_BELEGT THEN NIMM_AUF;
    VOR
  END;
  IF PLATZ_BELEGT THEN NIMM_AUF
END.
