// Placeholder until the Qt back end lands.
int tw_qt_placeholder = 0;
