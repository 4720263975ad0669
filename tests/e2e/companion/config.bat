@rem Stands in for the cataloguing companion: it reports the user's files as
@rem catalogued by leaving the marker the program tests for.
@type nul > "%~dp0cataloged"
