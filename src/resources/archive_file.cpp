// placeholder, replaced by the archive work
