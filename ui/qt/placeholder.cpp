// The Qt binding arrives with the main window.
