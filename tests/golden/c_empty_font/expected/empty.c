// empty.c
// nothing yet
fontdatatype SevenSegNumFont[4] PROGMEM={
0x10,0x10,0x20,0x00,
};
