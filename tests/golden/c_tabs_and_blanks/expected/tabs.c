// tabs.c
#define fontdatatype const unsigned char
#ifndef fontdatatype
#if defined(__AVR__)
#include <avr/pgmspace.h>
#define fontdatatype const uint8_t
#else
#define fontdatatype const unsigned char
#endif
#endif
#ifndef PROGMEM
#define PROGMEM
#endif

fontdatatype Tabs[10] PROGMEM={
	0x08, 0x02, 0x41, 0x03,
0x18, 0x24, //  A
0x3c ,	0x42 , //  B
0x00,0x00, //  C
};
