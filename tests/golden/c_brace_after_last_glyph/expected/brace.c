// brace.c
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

fontdatatype Brace[8] PROGMEM={
0x08,0x02,0x41,0x02,
0x18,0x24, //  A
0x3C,0x42, //  B
};
