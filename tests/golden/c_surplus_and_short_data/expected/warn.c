// warn.c
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

fontdatatype Warn[8] PROGMEM={
0x08,0x02,0x41,0x02,
0x18, //  A (one byte short)
0x3C,0x42, //  B
};
