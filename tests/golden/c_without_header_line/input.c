// cut.c
fontdatatype Cut[8] PROGMEM={

// only comments
};
