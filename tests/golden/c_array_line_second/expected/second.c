// second.c
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

fontdatatype Second[6] PROGMEM={
0x08,0x01,0x30,0x02,
0x7E, //  0
0x18, //  1
};
