// The other names of the foreign places, for tools/atlas/places.mjs: the
// Italian names of foreign towns ("Parigi", "Monaco di Baviera") and a few
// local names where GeoNames gives the English one ("München" for Munich).
//
// Sources, each joined to the GeoNames places by country and coordinates:
//   cldr-dates-modern    Unicode CLDR, the Italian exemplar cities of the
//                        time zones (main/it/timeZoneNames.json), placed at
//                        the coordinates of their zone in tzdata's zone.tab;
//   libgweather          Debian's libgweather-4-common: the cities of
//                        Locations.xml with their coordinates and the Italian
//                        translation of their names
//                        (locale/it/LC_MESSAGES/libgweather-4.0-locations.mo),
//                        and the local names its translators' notes give
//                        ('The local name is "München"');
//   data/atlas/altri-nomi.tsv  our own rows, each with its source: names the
//                        two sources lack or misspell, and names to drop.
//
// A name is given to the place of the same country, within kNearKm of the
// source's coordinates, whose GeoNames name is the source's English or local
// name (the most populous of them; for CLDR the city of the zone's name, so
// that a zone named after an island or a linked zone names no town). A name
// that equals the place's own is no other name. libgweather's translations
// that only render the English words of a name ("Cascate Fergus" for
// Fergus Falls, "Lago Charles") or add the state after a comma ("Knox,
// Indiana") are no Italian names and are left out.
import fs from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);

const kNearKm = 30;
// English words that libgweather's translators render word for word.
const kGenericWords = new Set(['lake', 'lakes', 'falls', 'island', 'islands', 'city', 'north', 'south', 'east', 'west',
                               'beach', 'station', 'springs', 'bay', 'port', 'mount', 'saint', 'st', 'fort', 'point',
                               'heights', 'park', 'valley', 'river', 'rapids', 'harbor', 'harbour', 'center', 'junction',
                               'creek', 'hill', 'hills', 'village', 'new', 'old', 'upper', 'lower', 'great', 'little']);

// Letters that keep no plain base letter in Unicode's decomposition.
const kPlainLetters = { 'ı': 'i', 'ł': 'l', 'đ': 'd', 'ø': 'o', 'ß': 'ss', 'æ': 'ae', 'œ': 'oe', 'þ': 'th', 'ħ': 'h',
                        'ŀ': 'l', 'ŧ': 't', 'ə': 'e' };

// The name as a plain key for matching: no accents, no case, letters and
// digits only.
export function normalise(name) {
    return name.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase()
        .replace(/[ıłđøßæœþħŀŧə]/g, c => kPlainLetters[c]).replace(/[^a-z0-9]/g, '');
}

export function km(a, b) {
    const rad = Math.PI / 180;
    const dLat = (b.lat - a.lat) * rad;
    const dLon = (b.lon - a.lon) * rad * Math.cos(((a.lat + b.lat) / 2) * rad);
    return 6371 * Math.sqrt(dLat * dLat + dLon * dLon);
}

// ---- Reading the sources -----------------------------------------------------

// A gettext catalogue: "context\u0004msgid" or "msgid" -> the first translation.
export function readMo(path) {
    const b = fs.readFileSync(path);
    const little = b.readUInt32LE(0) === 0x950412de;
    const word = at => (little ? b.readUInt32LE(at) : b.readUInt32BE(at));
    const count = word(8), originals = word(12), translations = word(16);
    const out = new Map();
    for (let i = 0; i < count; ++i) {
        const ol = word(originals + 8 * i), op = word(originals + 8 * i + 4);
        const tl = word(translations + 8 * i), tp = word(translations + 8 * i + 4);
        const key = b.toString('utf8', op, op + ol);
        if (key)
            out.set(key, b.toString('utf8', tp, tp + tl).split('\0')[0]);
    }
    return out;
}

function xmlText(s) {
    return s.replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&quot;/g, '"').replace(/&apos;/g, "'")
        .replace(/&amp;/g, '&');
}

// The cities of libgweather's Locations.xml: { country, english, context,
// local, lat, lon }, in file order.
export function gweatherCities(xmlPath) {
    const lines = fs.readFileSync(xmlPath, 'utf8').split('\n');
    const stack = [];
    const countryOf = [];
    const cities = [];
    let city = null;
    let comment = '';
    let inComment = false;
    for (const line of lines) {
        // A translators' note belongs to the city it opens or is written in.
        if (inComment || line.includes('<!--')) {
            if (city)
                city.note += line + '\n';
            else
                comment += line + '\n';
            inComment = !line.includes('-->');
            continue;
        }
        const open = line.match(/^\s*<(region|country|state|city)>\s*$/);
        if (open) {
            stack.push(open[1]);
            countryOf.push(countryOf.length ? countryOf[countryOf.length - 1] : '');
            if (open[1] === 'city')
                city = { country: countryOf[countryOf.length - 1], english: '', context: '', local: '', lat: NaN,
                         lon: NaN, note: comment };
            comment = '';
            continue;
        }
        const close = line.match(/^\s*<\/(region|country|state|city)>\s*$/);
        if (close) {
            stack.pop();
            countryOf.pop();
            if (close[1] === 'city' && city) {
                const local = city.note.match(/local name is "([^"]+)"/);
                city.local = local ? local[1] : '';
                delete city.note;
                if (city.english && !Number.isNaN(city.lat))
                    cities.push(city);
                city = null;
            }
            comment = '';
            continue;
        }
        if (!city)
            comment = '';
        const iso = line.match(/<iso-code>([A-Z]{2})<\/iso-code>/);
        if (iso && stack[stack.length - 1] === 'country')
            countryOf[countryOf.length - 1] = iso[1];
        if (city) {
            const name = line.match(/<_name(?: msgctxt="([^"]*)")?>([^<]*)<\/_name>/);
            if (name) {
                city.context = name[1] ? xmlText(name[1]) : '';
                city.english = xmlText(name[2]);
            }
            const at = line.match(/<coordinates>\s*(-?[\d.]+)\s+(-?[\d.]+)\s*<\/coordinates>/);
            if (at && Number.isNaN(city.lat)) {
                city.lat = Number(at[1]);
                city.lon = Number(at[2]);
            }
        }
    }
    return cities;
}

// "+4154+01229" (or with seconds) -> { lat, lon }.
function zoneTabCoordinates(text) {
    const m = text.match(/^([+-])(\d{2})(\d{2})(\d{2})?([+-])(\d{3})(\d{2})(\d{2})?$/);
    if (!m)
        return null;
    const part = (sign, d, mi, s) => (sign === '-' ? -1 : 1) * (Number(d) + Number(mi) / 60 + Number(s || 0) / 3600);
    return { lat: part(m[1], m[2], m[3], m[4]), lon: part(m[5], m[6], m[7], m[8]) };
}

// The zones of zone.tab with their country and coordinates, and the links of
// tzdata.zi (old name -> zone).
function zoneTable(zoneinfo) {
    const zones = new Map();
    for (const line of fs.readFileSync(`${zoneinfo}/zone.tab`, 'utf8').split('\n')) {
        if (!line || line.startsWith('#'))
            continue;
        const [country, coordinates, zone] = line.split('\t');
        const at = zoneTabCoordinates(coordinates);
        if (at)
            zones.set(zone, { country, ...at });
    }
    const links = new Map();
    for (const line of fs.readFileSync(`${zoneinfo}/tzdata.zi`, 'utf8').split('\n')) {
        const f = line.split(' ');
        if (f[0] === 'L' && f.length >= 3)
            links.set(f[2], f[1]);
    }
    return { zones, links };
}

// CLDR's Italian exemplar cities: { zone, country, english, italian, lat, lon }.
function cldrCities(zoneinfo) {
    const names = require('cldr-dates-modern/main/it/timeZoneNames.json').main.it.dates.timeZoneNames.zone;
    const { zones, links } = zoneTable(zoneinfo);
    const out = [];
    const walk = (node, path) => {
        for (const [key, value] of Object.entries(node)) {
            const id = path ? `${path}/${key}` : key;
            if (value && typeof value === 'object' && 'exemplarCity' in value) {
                const zone = zones.get(id) ? id : links.get(id);
                const z = zone && zones.get(zone);
                if (z)
                    out.push({ zone: id, country: z.country, english: key.replace(/_/g, ' '),
                               italian: value.exemplarCity, lat: z.lat, lon: z.lon });
            } else if (value && typeof value === 'object') {
                walk(value, id);
            }
        }
    };
    walk(names, '');
    out.sort((a, b) => (a.zone < b.zone ? -1 : a.zone > b.zone ? 1 : 0));
    return out;
}

// data/atlas/altri-nomi.tsv: { action, country, place, admin, name, source }.
export function ownRows(path) {
    const rows = [];
    for (const line of fs.readFileSync(path, 'utf8').split('\n')) {
        if (!line || line.startsWith('#'))
            continue;
        const f = line.split('\t');
        if (f.length !== 6 || (f[0] !== '+' && f[0] !== '-') || !f[5].trim())
            throw new Error(`altri-nomi.tsv: riga non valida (6 colonne, + o -, fonte): ${line}`);
        rows.push({ action: f[0], country: f[1], place: f[2], admin: f[3], name: f[4], source: f[5] });
    }
    return rows;
}

// ---- Joining them to the places ------------------------------------------------

class Grid {
    constructor(places) {
        this.cells = new Map();
        for (const p of places) {
            const k = this.key(Math.floor(p.lat), Math.floor(p.lon));
            if (!this.cells.has(k))
                this.cells.set(k, []);
            this.cells.get(k).push(p);
        }
    }
    key(a, b) {
        return a * 1000 + b;
    }
    near(at, country, radiusKm) {
        const out = [];
        const la = Math.floor(at.lat), lo = Math.floor(at.lon);
        for (let i = la - 1; i <= la + 1; ++i)
            for (let j = lo - 1; j <= lo + 1; ++j)
                for (const p of this.cells.get(this.key(i, ((j + 180) % 360 + 360) % 360 - 180)) || [])
                    if (p.country === country && km(at, p) <= radiusKm)
                        out.push(p);
        return out;
    }
}

function mostPopulous(list) {
    let best = null;
    for (const p of list)
        if (!best || p.population > best.population || (p.population === best.population && p.id < best.id))
            best = p;
    return best;
}

function placeFor(grid, source, names) {
    const keys = new Set(names.filter(Boolean).map(normalise));
    return mostPopulous(grid.near(source, source.country, kNearKm).filter(p => keys.has(normalise(p.name))));
}

// A translation that keeps the English name's own words and renders the
// generic ones, or adds a state after a comma.
function wordForWord(english, italian) {
    if (italian.includes(','))
        return true;
    const words = english.toLowerCase().split(/[^a-z\u00c0-\u024f]+/).filter(Boolean);
    if (!words.some(w => kGenericWords.has(w)))
        return false;
    const own = normalise(words.filter(w => !kGenericWords.has(w)).join(''));
    return own !== '' && normalise(italian).includes(own);
}

// The other names of the foreign places: Map place -> Set of names, and the
// counts of what each source gave.
export function foreignOtherNames(places, { zoneinfo, gweatherXml, gweatherMo, ownTable }) {
    const foreign = places.filter(p => p.country !== 'IT');
    const grid = new Grid(foreign);
    const names = new Map();
    const counts = { cldr: 0, gweather: 0, local: 0, own: 0, dropped: 0, unplaced: 0 };
    const give = (p, name, what) => {
        if (!p || !name || normalise(name) === normalise(p.name))
            return false;
        if (!names.has(p))
            names.set(p, new Set());
        if (names.get(p).has(name))
            return false;
        names.get(p).add(name);
        ++counts[what];
        return true;
    };

    for (const c of cldrCities(zoneinfo)) {
        if (normalise(c.italian) === normalise(c.english) || wordForWord(c.english, c.italian))
            continue;
        const p = placeFor(grid, c, [c.english]);
        if (!p)
            ++counts.unplaced;
        give(p, c.italian, 'cldr');
    }

    const italian = readMo(gweatherMo);
    for (const c of gweatherCities(gweatherXml)) {
        const translated = italian.get(c.context ? `${c.context}\u0004${c.english}` : c.english) || '';
        const wanted = translated && normalise(translated) !== normalise(c.english) && !wordForWord(c.english, translated);
        if (!wanted && !c.local)
            continue;
        const p = placeFor(grid, c, [c.english, c.local]);
        if (!p) {
            ++counts.unplaced;
            continue;
        }
        if (wanted)
            give(p, translated, 'gweather');
        if (c.local)
            give(p, c.local, 'local');
    }

    // Our own rows: the most populous place of that name in the country.
    const byName = new Map();
    for (const p of foreign) {
        const k = `${p.country}\t${p.name}`;
        if (!byName.has(k) || p.population > byName.get(k).population)
            byName.set(k, p);
    }
    for (const r of ownRows(ownTable)) {
        if (r.country === 'IT')
            continue;
        const p = byName.get(`${r.country}\t${r.place}`);
        if (!p)
            throw new Error(`altri-nomi.tsv: ${r.place} (${r.country}) non è fra i luoghi`);
        if (r.action === '+') {
            give(p, r.name, 'own');
        } else if (names.get(p)?.delete(r.name)) {
            ++counts.dropped;
        }
    }
    return { names, counts };
}
