// fonts.c
#include <stdint.h>
#define fontdatatype const uint8_t

// Letters
fontdatatype Letters[8] PROGMEM={
0x08,0x02,0x41,0x02,
0x18,0x24, // A
0x3C,0x42, // B
};  

int unrelated = 1; /* } */

static const fontdatatype Digits[] PROGMEM = {
	0x08,0x01,0x30,0x02,	// header
	0xFE,	// 0
	// between glyphs
	0x18,  // 1
};
// end
