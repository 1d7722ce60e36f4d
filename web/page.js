// The page's script: it lays TUNEWORKS out from the form table, passes each user action to the
// form's logic in WebAssembly and shows what comes back; it hands TONEPAK the message and offers
// the files it makes, and reads a chosen or dropped file back. Nothing leaves the page.
import createWspr from './wspr.js';

const utf8 = new TextEncoder();
const $ = (id) => document.getElementById(id);

let wasm;
try {
  wasm = await createWspr();
} catch (error) {
  const problem = $('PageProblem');
  problem.textContent = `The calculator and the encoder could not start in this browser: ${error}`;
  problem.hidden = false;
  throw error;
}

// Puts bytes where the next call reads them.
function put(bytes) {
  const address = wasm._wspr_input(bytes.length);
  wasm.HEAPU8.set(bytes, address);
  return bytes.length;
}
const answer = (address) => JSON.parse(wasm.UTF8ToString(address));

// ---- TUNEWORKS ------------------------------------------------------------------------------

const layout = answer(wasm._tw_layout());
const controlNumber = new Map(layout.controls.map((control, i) => [control.name, i]));

function placeAt(element, place) {
  element.style.left = `${place.left}px`;
  element.style.top = `${place.top}px`;
  element.style.width = `${place.width}px`;
  element.style.height = `${place.height}px`;
}

// The form's texts use CR LF line ends; a text area holds LF.
const toPage = (text) => text.replace(/\r\n/g, '\n');
const toForm = (text) => text.replace(/\r?\n/g, '\r\n');

function apply(update) {
  for (const [name, text] of Object.entries(update.texts ?? {})) {
    const element = $(name);
    element.value = element.tagName === 'TEXTAREA' ? toPage(text) : text;
    if (element.tagName === 'INPUT') element.scrollLeft = 0; // the start of a long value shows
  }
  for (const [name, tip] of Object.entries(update.tips ?? {})) $(name).title = tip;
  if (update.colour) $('Results').style.color = update.colour;
  if (update.status) {
    const strip = $('StatusLine');
    strip.textContent = update.status.text;
    strip.classList.toggle('warning', update.status.warning);
    strip.title = update.status.tip;
  }
}

function typed(name) {
  const element = $(name);
  const size = put(utf8.encode(element.tagName === 'TEXTAREA' ? toForm(element.value) : element.value));
  apply(answer(wasm._tw_change(controlNumber.get(name), size)));
}

function chose(name, index) {
  apply(answer(wasm._tw_click(controlNumber.get(name), index)));
}

function layOut() {
  const client = $('TuneworksForm');
  client.style.width = `${layout.width}px`;
  client.style.height = `${layout.height}px`;
  $('TuneworksCaption').textContent = layout.caption;
  document.title = `${layout.caption} and TONEPAK`;
  placeAt($('StatusLine'), layout.status);
  for (const control of layout.controls) {
    const element = $(control.name);
    const box = control.kind === 'combo' ? element.parentElement : element;
    placeAt(box, control);
    box.style.fontSize = `${control.fontPx}px`;
    if (control.kind === 'label') {
      element.textContent = control.text;
      continue;
    }
    element.value = control.text;
    element.disabled = !control.enabled;
    if (control.maxChars > 0) element.maxLength = control.maxChars;
    if (!control.enabled) continue;
    element.addEventListener('input', () => typed(control.name));
    if (control.kind === 'combo') wireList(control, element);
  }
  $('StatusLine').style.fontSize = `${layout.controls[controlNumber.get('Label1')].fontPx}px`;
  client.addEventListener('submit', (event) => event.preventDefault());
}

// A combo box: the field, and beside it the list, whose choice is the form's click. Up and Down
// in the field choose the item above or below, as in the window.
function wireList(control, field) {
  const list = $(`${control.name}List`);
  for (const item of control.items) list.add(new Option(item));
  list.selectedIndex = -1;
  list.addEventListener('change', () => {
    const index = list.selectedIndex;
    list.selectedIndex = -1; // choosing the same item again is a click too
    if (index < 0) return;
    field.value = control.items[index];
    chose(control.name, index);
    field.focus();
  });
  field.addEventListener('keydown', (event) => {
    if (event.key !== 'ArrowDown' && event.key !== 'ArrowUp') return;
    event.preventDefault();
    const now = control.items.indexOf(field.value);
    const step = event.key === 'ArrowDown' ? 1 : -1;
    const next = now < 0 ? 0 : Math.min(Math.max(now + step, 0), control.items.length - 1);
    if (next === now) return;
    field.value = control.items[next];
    chose(control.name, next);
  });
}

// The decimal separator of the user's language, as the window takes it from the system.
function decimalSeparator() {
  const part = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === 'decimal');
  return part ? part.value : '.';
}

layOut();
apply(answer(wasm._tw_load(put(utf8.encode(decimalSeparator())))));
performance.mark('first-calculation');
$(layout.tabOrder[0]).focus();

// ---- TONEPAK --------------------------------------------------------------------------------

let fileUrls = [];

function showTrace(trace) {
  const console = $('Trace');
  console.replaceChildren(...trace.map((piece) => {
    const span = document.createElement('span');
    span.className = piece.class;
    span.textContent = piece.text;
    return span;
  }));
}

// Each file as a download link; the previous message's links go.
function offerFiles(files) {
  for (const url of fileUrls) URL.revokeObjectURL(url);
  fileUrls = files.map((file) => {
    const bytes = wasm.HEAPU8.slice(file.address, file.address + file.size);
    return URL.createObjectURL(new Blob([bytes], { type: file.type }));
  });
  $('Downloads').replaceChildren(...files.map((file, i) => {
    const item = document.createElement('li');
    const link = document.createElement('a');
    link.href = fileUrls[i];
    link.download = file.name;
    link.textContent = file.name;
    item.append(link, ` (${file.size.toLocaleString('en')} bytes)`);
    return item;
  }));
}

$('MessageForm').addEventListener('submit', (event) => {
  event.preventDefault();
  const words = ['Callsign', 'Locator', 'Power'].map((id) => utf8.encode($(id).value));
  const all = new Uint8Array(words.reduce((n, w) => n + w.length, 0));
  let at = 0;
  for (const w of words) {
    all.set(w, at);
    at += w.length;
  }
  put(all);
  const run = answer(wasm._tp_encode(words[0].length, words[1].length, words[2].length));
  showTrace(run.trace);
  offerFiles(run.files);
});

async function readBack(file) {
  const shown = $('ReadMessage');
  const limit = wasm._tp_read_limit();
  const bytes = new Uint8Array(await file.slice(0, limit).arrayBuffer());
  const result = answer(wasm._tp_read(put(bytes), file.size > limit ? 1 : 0));
  shown.classList.toggle('problem', !result.message);
  shown.textContent = result.message ?? result.problems.map((p) => `${file.name}: ${p}`).join('\n');
}

$('ReadFile').addEventListener('change', (event) => {
  const [file] = event.target.files;
  if (file) readBack(file);
});
const zone = $('DropZone');
zone.addEventListener('dragover', (event) => {
  event.preventDefault();
  zone.classList.add('dragging');
});
zone.addEventListener('dragleave', () => zone.classList.remove('dragging'));
zone.addEventListener('drop', (event) => {
  event.preventDefault();
  zone.classList.remove('dragging');
  const [file] = event.dataTransfer.files;
  if (file) readBack(file);
});
