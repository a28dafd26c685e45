// Prints the records of an ADIF file as read by adif-parser-ts, as JSON:
// an array of objects with lower-case field names. Bytes are read as Latin-1,
// so that every byte stays one character.
"use strict";
const fs = require("fs");
const { AdifParser } = require("adif-parser-ts");

const text = fs.readFileSync(process.argv[2], "latin1");
process.stdout.write(JSON.stringify(AdifParser.parseAdi(text).records) + "\n");
