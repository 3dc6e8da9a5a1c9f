"""A local stand-in for the central laboratory: FTP, time server, payment page."""
