// notes.c
#define fontdatatype const uint8_t
extern fontdatatype Indented[];
FontDataType Mixed[8]={
0x08,0x02,0x41,0x02,
