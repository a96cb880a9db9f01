// slashes.c
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

fontdatatype Slashes[12] PROGMEM={
0x08,0x02,0x2F,0x04,
0x01,0x02, //  /
0x03,0x04, //  1/2
0x05,0x06, // 
0x07,0x08, // 
};
