@rem Cataloguing for "Backup a File as Soon as it is Modified/Saved", started
@rem hidden by Corvane Backup right after its companion Load.exe. That Load.exe
@rem does the work: it waits until the window has saved the list of sources,
@rem clears the archive attribute of every file in them, and only then creates
@rem "cataloged" and removes "catalog" in
@rem C:\Program Files\Corvane Software\Corvane Backup.
@rem No saved name ever appears in a command of this batch, so that no file
@rem name can run as one: the batch hands the work over and ends.
@exit /b 0
